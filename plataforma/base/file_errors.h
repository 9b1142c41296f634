#pragma once
// The class library's stream and file errors: a stream that cannot be read or written, a
// file that cannot be opened, created or written, a component image that does not match,
// and the input/output error of a text file after it was opened.

#include "plataforma/base/exceptions.h"

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EInOutError : public Exception {
public:
    using Exception::Exception;
};
