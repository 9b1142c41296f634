#pragma once
// Event types shared by every part of the platform layer. An event is fired only when assigned.

#include "plataforma/base/object.h"

#include <functional>

using TNotifyEvent = std::function<void(TObject* Sender)>;
