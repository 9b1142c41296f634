#pragma once
// The XML document's exceptions: a misuse of the document or its nodes, and a file or text
// that is not well-formed XML.

#include "plataforma/base/exceptions.h"

class EXMLDocError : public Exception {
public:
    using Exception::Exception;
};

// What the parser found wrong, and where. The code is the parser's own (never 0); lines
// and positions count from 1.
class EDOMParseError : public Exception {
public:
    EDOMParseError(int errorCode, const AnsiString& reason, int line, int linePos);

    int GetErrorCode() const { return errorCode_; }
    AnsiString GetReason() const { return reason_; }
    int GetLine() const { return line_; }
    int GetLinePos() const { return linePos_; }

private:
    int errorCode_;
    AnsiString reason_;
    int line_;
    int linePos_;
};
