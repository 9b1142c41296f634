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
