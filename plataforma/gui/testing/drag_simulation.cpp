#include "plataforma/gui/testing/drag_simulation.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/services/drag_runner.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace {

Qt::KeyboardModifiers Modifiers(TShiftState s) {
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

// Sends the steps' events as the window system sends them: entering a window is followed by a
// move at the same point when the window accepts the enter.
HRESULT RunSteps(const QMimeData* mime, Qt::DropActions allowed, IDropSource* source,
                 const std::vector<DragStep>& steps, DWORD* effect) {
    QPointer<QWidget> current;
    QPoint at;
    bool accepted = false;
    auto cancel = [&] {
        if (current) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(current, &leave);
        }
        *effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    };
    for (const DragStep& step : steps) {
        const Qt::KeyboardModifiers mods = Modifiers(step.shift);
        if (step.kind == DragStep::Escape) {
            if (source) source->QueryContinueDrag(TRUE, DragKeyState(Qt::LeftButton, mods));
            return cancel();
        }
        if (step.kind == DragStep::Release) {
            if (source) source->QueryContinueDrag(FALSE, DragKeyState(Qt::NoButton, mods));
            if (!current || !accepted) return cancel();
            QDropEvent drop(at, allowed, mime, Qt::NoButton, mods);
            QApplication::sendEvent(current, &drop);
            if (!drop.isAccepted() || drop.dropAction() == Qt::IgnoreAction) {
                *effect = DROPEFFECT_NONE;
                return DRAGDROP_S_CANCEL;
            }
            *effect = EffectOfAction(drop.dropAction());
            return DRAGDROP_S_DROP;
        }
        if (source && source->QueryContinueDrag(FALSE, DragKeyState(Qt::LeftButton, mods)) ==
                          DRAGDROP_S_CANCEL)
            return cancel();
        QWidget* w = step.control ? step.control->GetWidget() : nullptr;
        const int border = step.control ? step.control->GetBorderWidth() : 0;
        at = QPoint(step.x + border, step.y + border);
        if (w != current) {
            if (current) {
                QDragLeaveEvent leave;
                QApplication::sendEvent(current, &leave);
            }
            // A window that refuses the enter gets no moves and no leave; the next move over
            // it enters again.
            current = nullptr;
            accepted = false;
            if (w) {
                QDragEnterEvent enter(at, allowed, mime, Qt::LeftButton, mods);
                QApplication::sendEvent(w, &enter);
                if (enter.isAccepted()) current = w;
            }
        }
        if (w && w == current) {
            QDragMoveEvent over(at, allowed, mime, Qt::LeftButton, mods);
            QApplication::sendEvent(w, &over);
            accepted = over.isAccepted() && over.dropAction() != Qt::IgnoreAction;
            if (source)
                source->GiveFeedback(accepted ? EffectOfAction(over.dropAction())
                                              : DROPEFFECT_NONE);
        } else if (source) {
            source->GiveFeedback(DROPEFFECT_NONE);
        }
    }
    return cancel();
}

} // namespace

HRESULT SimulateForeignDrag(const MimeParts& Data, const std::vector<DragStep>& Steps,
                            DWORD Allowed, DWORD* Effect) {
    EnsureQtApplication();
    QMimeData mime;
    for (const auto& [type, bytes] : Data)
        mime.setData(QString::fromStdString(type), QByteArray::fromStdString(bytes));
    DWORD ignored = DROPEFFECT_NONE;
    return RunSteps(&mime, ActionsOfEffects(Allowed), nullptr, Steps, Effect ? Effect : &ignored);
}

ScriptedDrags::ScriptedDrags(std::vector<std::vector<DragStep>> Drags) : drags_(std::move(Drags)) {
    SetDragRunner(
        [this](QMimeData* data, Qt::DropActions allowed, IDropSource* source, DWORD* effect) {
            offered_.clear();
            for (const QString& f : data->formats())
                offered_.emplace_back(f.toStdString(), data->data(f).toStdString());
            const int n = started_++;
            if (n >= static_cast<int>(drags_.size())) {
                *effect = DROPEFFECT_NONE;
                return DRAGDROP_S_CANCEL;
            }
            return RunSteps(data, allowed, source, drags_[static_cast<size_t>(n)], effect);
        });
}

ScriptedDrags::~ScriptedDrags() {
    SetDragRunner(nullptr);
}

std::string ScriptedDrags::Offered(const std::string& MimeType) const {
    for (const auto& [type, bytes] : offered_)
        if (type == MimeType) return bytes;
    return {};
}
