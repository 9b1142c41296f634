#pragma once
// Inside the platform layer only: what a drag sends to the windows under the pointer, shared
// by DoDragDrop and the tests' simulated drags.

#include "plataforma/gui/services/ole.h"

#include <QMimeData>
#include <QPointer>
#include <Qt>

#include <functional>

// Effects and the window system's drop actions.
Qt::DropActions ActionsOfEffects(DWORD Effects);
Qt::DropAction ActionOfEffect(DWORD Effect);
DWORD EffectOfAction(Qt::DropAction Action);
// The key state of a drag from the buttons and modifiers held.
DWORD DragKeyState(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers);

// A data object over the MIME data of a drag (one of this program's or another's); reading
// it after the data is gone finds nothing. A format larger than MaxDragBytes reads as absent.
IDataObject* NewMimeDataObject(const QMimeData* Data);
constexpr std::size_t kMaxDragBytes = 64u << 20;

// A drag run by a test instead of the window system: gets the drag's data, the actions the
// source allows and the source; returns DRAGDROP_S_DROP or DRAGDROP_S_CANCEL with the effect.
using DragRunner = std::function<HRESULT(QMimeData* Data, Qt::DropActions Allowed,
                                         IDropSource* Source, DWORD* Effect)>;
// The runner of the drags to come (an empty one gives them back to the window system).
void SetDragRunner(DragRunner Runner);
