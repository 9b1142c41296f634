#pragma once
// Root of the class library's exceptions, and the conversion error of the number functions.

#include "plataforma/base/ansi_string.h"

#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const AnsiString& msg) : Message(msg) {}
    const char* what() const noexcept override { return Message.c_str(); }

    AnsiString Message;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// An operation the object's state does not allow (a control without a parent window, an
// index outside a list of images).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// What the grids raise for an operation their state does not allow.
class EInvalidGridOperation : public EInvalidOperation {
public:
    using EInvalidOperation::EInvalidOperation;
};

// The window system refused to take more (an item a list did not insert).
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// A condition that the code asserts failed (the message says which).
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};
