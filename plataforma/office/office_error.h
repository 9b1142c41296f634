#pragma once
// What the office files and the database query raise: a file that cannot be read or written,
// a damaged or hostile file, a failed query (with the driver's own message).

#include "plataforma/base/exceptions.h"

class EOfficeError : public Exception {
public:
    using Exception::Exception;
};

// A file of the earlier binary office formats (a compound document), which is not read here.
class ELegacyOfficeFile : public EOfficeError {
public:
    using EOfficeError::EOfficeError;
};
