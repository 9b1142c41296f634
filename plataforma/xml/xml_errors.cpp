#include "plataforma/xml/xml_errors.h"

#include "plataforma/base/numbers.h"

EDOMParseError::EDOMParseError(int errorCode, const AnsiString& reason, int line, int linePos)
    : Exception(reason + "\nLine: " + IntToStr(line) + "\nPosition: " + IntToStr(linePos)),
      errorCode_(errorCode), reason_(reason), line_(line), linePos_(linePos) {}
