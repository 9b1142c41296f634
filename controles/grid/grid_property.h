#pragma once
// A stored setting of an option object: the Get/Set pair over a plain field, for the many
// settings whose setter only stores (those with side effects are written out by hand).
#define GRID_STORED(Type, Name, Initial)                                                           \
public:                                                                                            \
    Type Get##Name() const {                                                                       \
        return f##Name;                                                                            \
    }                                                                                              \
    void Set##Name(Type Value) {                                                                   \
        f##Name = Value;                                                                           \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type f##Name = Initial;                                                                        \
                                                                                                   \
public:

// Copies one stored setting from s (an object of the same class) inside Assign.
#define GRID_COPY(Type, Name, Initial) f##Name = s->f##Name;
