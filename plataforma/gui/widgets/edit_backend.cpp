// The Qt widgets behind edits and memos, answering the edit requests.

#include "plataforma/gui/widgets/edit_backend.h"

#include "plataforma/base/cp1252.h"

#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <climits>

namespace {

// Qt's single-line edit keeps 2 pixels left and right and 1 above the text.
constexpr int kLineHMargin = 2;
constexpr int kLineVMargin = 1;

// The masking character of a password edit, which Qt takes from the style.
class PasswordStyle : public QProxyStyle {
public:
    PasswordStyle(QStyle* base, char ch) : QProxyStyle(base), ch_(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return static_cast<int>(cp1252::ToUnicode(static_cast<unsigned char>(ch_)));
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    char ch_;
};

// A position between the two halves of a surrogate pair moves past the pair (Forward) or
// before it.
int OffPair(const QString& t, int pos, bool forward) {
    if (pos <= 0 || pos >= t.size() || !t[pos - 1].isHighSurrogate() || !t[pos].isLowSurrogate())
        return pos;
    return forward ? pos + 1 : pos - 1;
}

// Anchor and caret off the pairs, the selection widened to whole characters.
void SelOffPairs(const QString& t, int& start, int& end) {
    const int s = start, e = end;
    start = OffPair(t, s, s >= e);
    end = OffPair(t, e, e >= s);
}

class LineEditBackend : public EditBackend {
public:
    // A line edit of its own, or the one inside another widget (a combo box's).
    LineEditBackend(TControl* control, QWidget* parent)
        : w_(new HostedWidget<QLineEdit>(control, parent)) {
        w_->setFrame(false);
        w_->setFocusPolicy(Qt::NoFocus);
        w_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Prepare();
    }
    explicit LineEditBackend(QLineEdit* inner) : w_(inner) { Prepare(); }

    QWidget* Widget() const override { return w_; }
    AnsiString Text() const override { return FromQString(w_->text()); }

    WideString WideText() const override { return WideFromQString(w_->text()); }

    void SetWideText(const WideString& text) override {
        settingText_ = true;
        w_->setText(ToQString(text));
        settingText_ = false;
        w_->setCursorPosition(0);
        w_->setModified(false);
    }

    void ReplaceSelWide(const WideString& text) override { w_->insert(ToQString(text)); }

    void GetSel(int& start, int& end) const override {
        if (w_->hasSelectedText()) {
            start = w_->selectionStart();
            end = start + w_->selectionLength();
        } else {
            start = end = w_->cursorPosition();
        }
    }

    void SetSel(int start, int end) override {
        const int n = static_cast<int>(w_->text().size());
        start = std::clamp(start, 0, n);
        end = std::clamp(end, 0, n);
        SelOffPairs(w_->text(), start, end);
        if (start == end) {
            w_->deselect();
            w_->setCursorPosition(end);
        } else {
            w_->setSelection(start, end - start);
        }
    }

    void Deselect() override { w_->deselect(); }
    bool CanUndo() const override { return w_->isUndoAvailable(); }
    void Undo() override { w_->undo(); }

    void ClearUndo() override {
        // Setting the same text empties Qt's history; caret, selection and flag stay.
        int start = 0, end = 0;
        GetSel(start, end);
        const bool caretAtStart = w_->hasSelectedText() && w_->cursorPosition() == start;
        const bool modified = w_->isModified();
        {
            QSignalBlocker block(w_);
            w_->setText(w_->text());
        }
        if (caretAtStart)
            SetSel(end, start);
        else
            SetSel(start, end);
        w_->setModified(modified);
    }

    bool Modified() const override { return w_->isModified(); }
    void SetModified(bool v) override { w_->setModified(v); }
    void SetReadOnly(bool v) override { w_->setReadOnly(v); }

    void SetAlignment(DWORD es) override {
        Qt::Alignment h = es == ES_RIGHT    ? Qt::AlignRight
                          : es == ES_CENTER ? Qt::AlignHCenter
                                            : Qt::AlignLeft;
        w_->setAlignment(h | Qt::AlignTop);
    }

    void SetPasswordChar(char ch) override {
        if (style_) {
            w_->setStyle(nullptr);
            delete style_;
        }
        if (ch == 0) {
            w_->setEchoMode(QLineEdit::Normal);
            return;
        }
        style_ = new PasswordStyle(QStyleFactory::create(QApplication::style()->name()), ch);
        style_->setParent(w_);
        w_->setStyle(style_);
        w_->setEchoMode(QLineEdit::Password);
    }

    void SetHideSelection(bool) override {}

    void SetBorder(int width) override {
        border_ = width;
        w_->setContentsMargins(width, width, width, width);
    }

    void SetFormatRect(const TRect& r) override {
        if (IsRectEmpty(r)) {
            margins_ = TRect();
        } else {
            TSize c = ClientSize();
            margins_ =
                TRect(std::max(0, r.Left - kLineHMargin), std::max(0, r.Top - kLineVMargin),
                      std::max(0, c.cx - r.Right - kLineHMargin), std::max(0, c.cy - r.Bottom));
        }
        w_->setTextMargins(margins_.Left, margins_.Top, margins_.Right, margins_.Bottom);
    }

    TRect FormatRect() const override {
        TSize c = ClientSize();
        return TRect(margins_.Left + kLineHMargin, margins_.Top + kLineVMargin,
                     c.cx - margins_.Right - kLineHMargin, c.cy - margins_.Bottom);
    }

    bool CharFromPos(const TPoint& p, int& index, int& line) const override {
        index = w_->cursorPositionAt(QPoint(p.x + border_, p.y + border_));
        line = 0;
        return true;
    }

    bool PosFromChar(int index, TPoint& p) const override {
        const QString shown = w_->displayText();
        if (index < 0 || index >= shown.size()) return false;
        QTextLayout layout(shown, w_->font());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        const TRect fr = FormatRect();
        const int lineX = fr.Left, lineW = fr.Width();
        const int used = qRound(line.naturalTextWidth()) + 1;
        int hscroll = 0;
        if (used <= lineW) {
            Qt::Alignment a = w_->alignment() & Qt::AlignHorizontal_Mask;
            if (a & Qt::AlignRight)
                hscroll = used - lineW + 1;
            else if (a & Qt::AlignHCenter)
                hscroll = (used - lineW) / 2;
        } else {
            // Scrolled: the offset Qt keeps shows in the caret's rectangle.
            const int c = w_->cursorPosition();
            const QRect caret = w_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            hscroll = qRound(line.cursorToX(c)) - 5 + (lineX + border_) - caret.left();
        }
        p.x = lineX - hscroll + qRound(line.cursorToX(index));
        p.y = fr.Top;
        return true;
    }

    int LineFromChar(int) const override { return 0; }
    int LineCount() const override { return 1; }
    int LineIndex(int line) const override { return line <= 0 ? 0 : -1; }
    int LineLength(int) const override { return static_cast<int>(w_->text().size()); }
    int FirstVisibleLine() const override { return 0; }
    void ScrollCaret() override {}

private:
    void Prepare() {
        w_->setAcceptDrops(false);
        w_->setDragEnabled(false);
        // The limit is the control's own (MaxLength): Qt's would cut text set by the program.
        w_->setMaxLength(INT_MAX);
        QObject::connect(w_, &QLineEdit::textChanged, w_, [this] {
            if (settingText_) w_->setCursorPosition(0);
            if (OnTextChanged) OnTextChanged();
        });
    }

    TSize ClientSize() const {
        return {std::max(0, w_->width() - 2 * border_), std::max(0, w_->height() - 2 * border_)};
    }

    QLineEdit* w_;
    QPointer<QStyle> style_;
    int border_ = 0;
    TRect margins_; // text margins inside the client area
    bool settingText_ = false;
};

// --- memo ---

class MemoWidget : public HostedScrollArea<QPlainTextEdit> {
public:
    using HostedScrollArea<QPlainTextEdit>::HostedScrollArea;
    void SetViewportMargins(int l, int t, int r, int b) { setViewportMargins(l, t, r, b); }
};

// The memo's text with CR LF line breaks, and Qt's with LF.
QString ToQtText(const QString& t) {
    QString s;
    s.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == QChar('\r')) {
            s += QChar('\n');
            if (i + 1 < t.size() && t[i + 1] == QChar('\n')) ++i;
        } else {
            s += t[i];
        }
    }
    return s;
}

class MemoBackend : public EditBackend {
public:
    MemoBackend(TControl* control, QWidget* parent, bool wordWrap, bool hscroll, bool vscroll)
        : w_(new MemoWidget(control, parent)) {
        w_->setFocusPolicy(Qt::NoFocus);
        w_->setAcceptDrops(false);
        w_->viewport()->setAcceptDrops(false);
        w_->setTabChangesFocus(false);
        w_->document()->setDocumentMargin(1);
        w_->setLineWrapMode(wordWrap && !hscroll ? QPlainTextEdit::WidgetWidth
                                                 : QPlainTextEdit::NoWrap);
        w_->setHorizontalScrollBarPolicy(hscroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        w_->setVerticalScrollBarPolicy(vscroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QObject::connect(w_, &QPlainTextEdit::textChanged, w_, [this] {
            if (settingText_) return;
            if (OnTextChanged) OnTextChanged();
        });
    }

    QWidget* Widget() const override { return w_; }

    AnsiString Text() const override { return FromQString(WinText()); }
    WideString WideText() const override { return WideFromQString(WinText()); }

    void SetWideText(const WideString& text) override {
        settingText_ = true;
        w_->setPlainText(ToQtText(ToQString(text)));
        settingText_ = false;
        QTextCursor c = w_->textCursor();
        c.setPosition(0);
        w_->setTextCursor(c);
        w_->document()->setModified(false);
        if (OnTextChanged) OnTextChanged();
    }

    void ReplaceSelWide(const WideString& text) override {
        QTextCursor c = w_->textCursor();
        c.insertText(ToQtText(ToQString(text)));
        w_->setTextCursor(c);
    }

    void GetSel(int& start, int& end) const override {
        QTextCursor c = w_->textCursor();
        start = ToWin(c.selectionStart());
        end = ToWin(c.selectionEnd());
    }

    void SetSel(int start, int end) override {
        int qs = ToQt(start), qe = ToQt(end);
        SelOffPairs(PlainText(), qs, qe);
        QTextCursor c = w_->textCursor();
        c.setPosition(qs);
        c.setPosition(qe, QTextCursor::KeepAnchor);
        w_->setTextCursor(c);
    }

    void Deselect() override {
        QTextCursor c = w_->textCursor();
        c.clearSelection();
        w_->setTextCursor(c);
    }

    bool CanUndo() const override { return w_->document()->isUndoAvailable(); }
    void Undo() override { w_->undo(); }
    void ClearUndo() override { w_->document()->clearUndoRedoStacks(); }
    bool Modified() const override { return w_->document()->isModified(); }
    void SetModified(bool v) override { w_->document()->setModified(v); }
    void SetReadOnly(bool v) override { w_->setReadOnly(v); }

    void SetAlignment(DWORD es) override {
        QTextOption o = w_->document()->defaultTextOption();
        o.setAlignment(es == ES_RIGHT    ? Qt::AlignRight
                       : es == ES_CENTER ? Qt::AlignHCenter
                                         : Qt::AlignLeft);
        w_->document()->setDefaultTextOption(o);
    }

    void SetPasswordChar(char) override {}
    void SetHideSelection(bool) override {}

    void SetBorder(int width) override {
        border_ = width;
        w_->SetBorder(width);
    }

    void SetFormatRect(const TRect& r) override {
        margins_ = IsRectEmpty(r) ? TRect() : r;
        if (IsRectEmpty(r)) {
            w_->SetViewportMargins(0, 0, 0, 0);
            return;
        }
        const int cw = std::max(0, w_->width() - 2 * border_);
        const int ch = std::max(0, w_->height() - 2 * border_);
        w_->SetViewportMargins(std::max(0, r.Left - 1), std::max(0, r.Top - 1),
                               std::max(0, cw - r.Right - 1), std::max(0, ch - r.Bottom - 1));
    }

    TRect FormatRect() const override {
        QRect v = w_->viewport()->geometry();
        return TRect(v.left() - border_ + 1, v.top() - border_ + 1, v.right() + 1 - border_ - 1,
                     v.bottom() + 1 - border_ - 1);
    }

    bool CharFromPos(const TPoint& p, int& index, int& line) const override {
        QPoint vp = QPoint(p.x + border_, p.y + border_) - w_->viewport()->pos();
        QTextCursor c = w_->cursorForPosition(vp);
        index = ToWin(c.position());
        line = c.blockNumber();
        return true;
    }

    bool PosFromChar(int index, TPoint& p) const override {
        if (index < 0 || index >= Length()) return false;
        QTextCursor c(w_->document());
        c.setPosition(ToQt(index));
        QRect r = w_->cursorRect(c);
        QPoint vp = w_->viewport()->pos();
        p = {r.left() + vp.x() - border_, r.top() + vp.y() - border_};
        return true;
    }

    int LineFromChar(int index) const override {
        int q = index < 0 ? w_->textCursor().position() : ToQt(index);
        return w_->document()->findBlock(q).blockNumber();
    }

    int LineCount() const override { return w_->document()->blockCount(); }

    int LineIndex(int line) const override {
        if (line < 0) line = w_->textCursor().blockNumber();
        QTextBlock b = w_->document()->findBlockByNumber(line);
        return b.isValid() ? ToWin(b.position()) : -1;
    }

    int LineLength(int index) const override {
        int q = index < 0 ? w_->textCursor().position() : ToQt(index);
        QTextBlock b = w_->document()->findBlock(q);
        return b.isValid() ? b.length() - 1 : 0;
    }

    int FirstVisibleLine() const override {
        QScrollBar* sb = w_->verticalScrollBar();
        return sb ? sb->value() : 0;
    }

    void ScrollCaret() override { w_->ensureCursorVisible(); }

private:
    // The document's text with LF breaks, every character as typed (no space for U+00A0).
    QString PlainText() const {
        QString t = w_->document()->toRawText();
        t.replace(QChar::ParagraphSeparator, QChar('\n'));
        return t;
    }
    // The text with CR LF breaks.
    QString WinText() const {
        QString t = PlainText();
        t.replace(QChar('\n'), QStringLiteral("\r\n"));
        return t;
    }
    // Each line break before a Qt position adds the CR.
    int ToWin(int qt) const {
        const QString t = PlainText();
        qt = std::clamp(qt, 0, static_cast<int>(t.size()));
        return qt + static_cast<int>(t.left(qt).count(QChar('\n')));
    }
    int ToQt(int win) const {
        const QString t = PlainText();
        int w = 0;
        for (int i = 0; i < t.size(); ++i) {
            int width = t[i] == QChar('\n') ? 2 : 1;
            // Inside a CR LF counts as before it.
            if (w + width > win) return i;
            w += width;
        }
        return static_cast<int>(t.size());
    }

    MemoWidget* w_;
    int border_ = 0;
    TRect margins_;
    bool settingText_ = false;
};

} // namespace

EditBackend* CreateLineEditBackend(TControl* Control, QWidget* Parent) {
    return new LineEditBackend(Control, Parent);
}

EditBackend* CreateLineEditBackend(QLineEdit* Inner) {
    return new LineEditBackend(Inner);
}

EditBackend* CreateMemoBackend(TControl* Control, QWidget* Parent, bool WordWrap, bool HorzScroll,
                               bool VertScroll) {
    return new MemoBackend(Control, Parent, WordWrap, HorzScroll, VertScroll);
}
