// TRichEdit on Qt's text edit: the document converted to and from the rich text of
// rich_text.h, run by run.
#include "plataforma/gui/widgets/rich_edit.h"

#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace {

// The offset in half points kept on each character beside Qt's raised or lowered drawing.
constexpr int OffsetProperty = QTextFormat::UserProperty + 1;

// The text edit, with its margins around the text settable (the formatting rectangle).
class RichWidget : public HostedScrollArea<QTextEdit> {
public:
    using HostedScrollArea<QTextEdit>::HostedScrollArea;
    void SetViewportMargins(const QMargins& Margins) { setViewportMargins(Margins); }
};

QTextEdit* EditOf(const TControl* c) {
    return qobject_cast<QTextEdit*>(c->GetWidget());
}

QTextCharFormat ToQt(const TRichFormat& F) {
    QTextCharFormat q;
    q.setFontFamilies({ToQString(F.FontName)});
    q.setFontPointSize(std::clamp(F.HalfPoints, 1, RichLargestHalfPoints) / 2.0);
    q.setFontWeight(F.Bold ? QFont::Bold : QFont::Normal);
    q.setFontItalic(F.Italic);
    q.setFontUnderline(F.Underline);
    if (F.Color != -1)
        q.setForeground(QColor(F.Color & 0xFF, (F.Color >> 8) & 0xFF, (F.Color >> 16) & 0xFF));
    q.setProperty(OffsetProperty, F.Offset);
    q.setVerticalAlignment(F.Offset > 0   ? QTextCharFormat::AlignSuperScript
                           : F.Offset < 0 ? QTextCharFormat::AlignSubScript
                                          : QTextCharFormat::AlignNormal);
    return q;
}

TRichFormat FromQt(const QTextCharFormat& q) {
    TRichFormat f;
    const QStringList families = q.fontFamilies().toStringList();
    if (!families.isEmpty()) f.FontName = FromQString(families.first());
    if (q.fontPointSize() > 0) f.HalfPoints = static_cast<int>(std::lround(q.fontPointSize() * 2));
    f.Bold = q.fontWeight() >= QFont::Bold;
    f.Italic = q.fontItalic();
    f.Underline = q.fontUnderline();
    if (q.hasProperty(QTextFormat::ForegroundBrush) && q.foreground().style() != Qt::NoBrush) {
        const QColor c = q.foreground().color();
        f.Color = c.red() | (c.green() << 8) | (c.blue() << 16);
    }
    if (q.hasProperty(OffsetProperty))
        f.Offset = q.intProperty(OffsetProperty);
    else if (q.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        f.Offset = 4;
    else if (q.verticalAlignment() == QTextCharFormat::AlignSubScript)
        f.Offset = -4;
    return f;
}

} // namespace

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
}

void TRichEdit::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* e = new RichWidget(this, parentWidget);
    e->setFocusPolicy(Qt::StrongFocus);
    e->setAcceptRichText(false);
    e->SetBorder(0);
    // A cell-sized editor: no scroll bars; the text where the formatting rectangle puts it.
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->document()->setDocumentMargin(0);
    // Around the formatting rectangle, the edit's colour as within it.
    e->setBackgroundRole(QPalette::Base);
    e->setAutoFillBackground(true);
    QObject::connect(e, &QTextEdit::textChanged, e,
                     [this] { GuardedEntry(this, [this] { Change(); }); });
    QObject::connect(e, &QTextEdit::selectionChanged, e, [this] {
        GuardedEntry(this, [this] {
            if (OnSelectionChange) OnSelectionChange(this);
        });
    });
    SetWidget(e, true);
    ApplyWordWrap();
    ApplyFormatRect();
    if (!pending_.IsEmpty()) {
        const AnsiString rtf = pending_;
        pending_ = AnsiString();
        SetRtf(rtf);
    }
}

TRichDocument TRichEdit::GetDocument() const {
    QTextEdit* e = EditOf(this);
    if (!e) return RichDocumentOf(pending_);
    TRichDocument d;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
        TRichParagraph p;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.isValid())
                p.Runs.push_back({FromQString(frag.text()), FromQt(frag.charFormat())});
        }
        d.Paragraphs.push_back(std::move(p));
    }
    d.Normalize();
    return d;
}

void TRichEdit::SetDocument(const TRichDocument& Value) {
    QTextEdit* e = EditOf(this);
    if (!e) {
        pending_ = WriteRtf(Value);
        return;
    }
    QTextDocument* doc = e->document();
    doc->clear();
    QTextCursor c(doc);
    for (size_t i = 0; i < Value.Paragraphs.size(); ++i) {
        if (i > 0) c.insertBlock();
        for (const TRichRun& r : Value.Paragraphs[i].Runs)
            c.insertText(ToQString(r.Text), ToQt(r.Format));
    }
    // New text typed at the start takes the first run's format.
    if (!Value.Paragraphs.empty() && !Value.Paragraphs[0].Runs.empty())
        e->setCurrentCharFormat(ToQt(Value.Paragraphs[0].Runs[0].Format));
    else
        e->setCurrentCharFormat(ToQt(TRichFormat()));
}

AnsiString TRichEdit::GetRtf() const {
    return WriteRtf(GetDocument());
}

void TRichEdit::SetRtf(const AnsiString& Value) {
    SetDocument(RichDocumentOf(Value));
}

AnsiString TRichEdit::GetPlainText() const {
    return GetDocument().PlainText();
}

int TRichEdit::GetSelStart() const {
    QTextEdit* e = EditOf(this);
    return e ? e->textCursor().selectionStart() : 0;
}

void TRichEdit::SetSelStart(int Value) {
    QTextEdit* e = EditOf(this);
    if (!e) return;
    QTextCursor c = e->textCursor();
    c.setPosition(std::clamp(Value, 0, e->document()->characterCount() - 1));
    e->setTextCursor(c);
}

int TRichEdit::GetSelLength() const {
    QTextEdit* e = EditOf(this);
    if (!e) return 0;
    const QTextCursor c = e->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelLength(int Value) {
    QTextEdit* e = EditOf(this);
    if (!e) return;
    QTextCursor c = e->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(std::clamp(start + Value, 0, e->document()->characterCount() - 1),
                  QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

void TRichEdit::SelectAll() {
    if (QTextEdit* e = EditOf(this)) e->selectAll();
}

void TRichEdit::SetSelOffset(int Twips) {
    QTextEdit* e = EditOf(this);
    if (!e) return;
    // Twips to half points: 10 twips a half point.
    const int half = Twips / 10;
    QTextCharFormat q;
    q.setProperty(OffsetProperty, half);
    q.setVerticalAlignment(half > 0   ? QTextCharFormat::AlignSuperScript
                           : half < 0 ? QTextCharFormat::AlignSubScript
                                      : QTextCharFormat::AlignNormal);
    e->mergeCurrentCharFormat(q);
}

int TRichEdit::GetSelOffset() const {
    QTextEdit* e = EditOf(this);
    if (!e) return 0;
    QTextCursor c = e->textCursor();
    // The format of the selection's first character (the one after the cursor when none).
    QTextCursor first(e->document());
    first.setPosition(c.selectionStart());
    if (c.hasSelection() || c.selectionStart() == 0) first.movePosition(QTextCursor::NextCharacter);
    return FromQt(first.charFormat()).Offset * 10;
}

int TRichEdit::GetContentHeight() const {
    QTextEdit* e = EditOf(this);
    if (!e) return 0;
    return static_cast<int>(std::ceil(e->document()->size().height()));
}

void TRichEdit::SetWordWrap(bool Value) {
    wordWrap_ = Value;
    ApplyWordWrap();
}

void TRichEdit::ApplyWordWrap() {
    if (QTextEdit* e = EditOf(this))
        e->setLineWrapMode(wordWrap_ ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

int TRichEdit::FormatRange(TFormatRange& Range, bool Render) const {
    return FormatRichRange(GetDocument(), Range, Render);
}

void TRichEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case EM_GETRECT:
        if (Message.LParam) {
            const TRect c = GetClientRect();
            *reinterpret_cast<TRect*>(Message.LParam) =
                TRect(inset_.Left, inset_.Top, c.Right - inset_.Right, c.Bottom - inset_.Bottom);
        }
        return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (const auto* r = reinterpret_cast<const TRect*>(Message.LParam)) {
            const TRect c = GetClientRect();
            inset_ = TRect(std::max(0, r->Left), std::max(0, r->Top),
                           std::max(0, c.Right - r->Right), std::max(0, c.Bottom - r->Bottom));
        } else {
            inset_ = TRect(1, 1, 1, 1);
        }
        ApplyFormatRect();
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TRichEdit::ApplyFormatRect() {
    // The text edit draws a text one pixel left of and above where a canvas draws it from the
    // same point: the text starts one pixel further in (its width kept), so that it stands where
    // the same text drawn from the rectangle's corner stands (a cell's text under its editor).
    if (auto* e = dynamic_cast<RichWidget*>(GetWidget()))
        e->SetViewportMargins(QMargins(inset_.Left + 1, inset_.Top + 1,
                                       std::max(0, inset_.Right - 1), inset_.Bottom));
}

void TRichEdit::Change() {
    if (OnChange) OnChange(this);
    if (QTextEdit* e = EditOf(this)) RequestResize(e->viewport()->width(), GetContentHeight());
}
