#pragma once
// Inside the platform layer only: TCursor numbers as Qt cursors, and cursor handles.

#include "plataforma/gui/input/cursors.h"

#include <QCursor>

class QWidget;

QCursor QtCursorOf(TCursor Cursor);
// crDefault leaves the widget to its parent's cursor.
void ApplyCursorToWidget(QWidget* Widget, TCursor Cursor);
// The cursor handle a widget was last given (nullptr: none of its own).
HCURSOR ShownCursorOf(QWidget* Widget);
// The handle of a stock or registered cursor (Screen->Cursors[]).
HCURSOR CursorHandle(TCursor Cursor);
void RegisterCursorHandle(TCursor Cursor, const QCursor& Shape);
// The widget whose WM_SETCURSOR is being handled, for SetCursor.
void SetCursorTarget(QWidget* Widget);
