#pragma once
// The class library's file errors: a file that cannot be opened, created or written.

#include "plataforma/base/exceptions.h"

class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

class EWriteError : public Exception {
public:
    using Exception::Exception;
};
