#pragma once
// TObject: the common root of the class library's objects, so that lists can hold any of
// them and events can name their sender.

class TObject {
public:
    virtual ~TObject() = default;
};
