#pragma once
// The index spaces of a grid with hidden columns and rows, as types the compiler tells apart.
// A grid shows some columns and rows and keeps others hidden: the user, the painting and the
// public methods speak of shown columns and display rows (plain int); the cell store keeps
// its cells by real column (hidden columns counted) and its rows by their place among the
// shown rows, while a hidden row is known by its real row (hidden rows counted). Inside the
// grid a shown column is a TShownCol and a display row a TShownRow; a shown column becomes a
// real one only through the grid's column map (ToReal, ToShown), once, at a public entry; a
// plain int does not convert by itself, and one space does not pass for the other.
// A row also has an identity that stays with it while rows are inserted, removed, moved,
// sorted, hidden and shown again, and so has a column while columns are inserted, removed,
// moved, swapped and hidden: what must come back to the same row or column later (an open
// editor's text, an undone edit) holds the identity, never the index.

#include <compare>
#include <cstdint>

class TRealCol {
public:
    constexpr explicit TRealCol(int Value) : value_(Value) {}
    constexpr int Value() const { return value_; }
    constexpr auto operator<=>(const TRealCol&) const = default;
    constexpr TRealCol& operator++() {
        ++value_;
        return *this;
    }
    // The column Count places to the right (left for a negative count).
    constexpr TRealCol operator+(int Count) const { return TRealCol(value_ + Count); }

private:
    int value_;
};

class TRealRow {
public:
    constexpr explicit TRealRow(int Value) : value_(Value) {}
    constexpr int Value() const { return value_; }
    constexpr auto operator<=>(const TRealRow&) const = default;
    constexpr TRealRow& operator++() {
        ++value_;
        return *this;
    }
    constexpr TRealRow operator+(int Count) const { return TRealRow(value_ + Count); }

private:
    int value_;
};

// A column as shown (hidden columns not counted): what the painting, the mouse, the keys
// and the base grid's rectangles speak of.
class TShownCol {
public:
    constexpr explicit TShownCol(int Value) : value_(Value) {}
    constexpr int Value() const { return value_; }
    constexpr auto operator<=>(const TShownCol&) const = default;
    constexpr TShownCol& operator++() {
        ++value_;
        return *this;
    }
    constexpr TShownCol operator+(int Count) const { return TShownCol(value_ + Count); }

private:
    int value_;
};

// A display row (hidden rows not counted): the row of the store and of the screen.
class TShownRow {
public:
    constexpr explicit TShownRow(int Value) : value_(Value) {}
    constexpr int Value() const { return value_; }
    constexpr auto operator<=>(const TShownRow&) const = default;
    constexpr TShownRow& operator++() {
        ++value_;
        return *this;
    }
    constexpr TShownRow operator+(int Count) const { return TShownRow(value_ + Count); }

private:
    int value_;
};

// A column's identity within its grid, moved with the column wherever it goes (hidden or
// shown); 0 is no column.
class TGridColId {
public:
    constexpr TGridColId() = default;
    constexpr explicit TGridColId(uint64_t Value) : value_(Value) {}
    constexpr uint64_t Value() const { return value_; }
    constexpr explicit operator bool() const { return value_ != 0; }
    constexpr bool operator==(const TGridColId&) const = default;

private:
    uint64_t value_ = 0;
};

// A row's identity within its grid; 0 is no row.
class TGridRowId {
public:
    constexpr TGridRowId() = default;
    constexpr explicit TGridRowId(uint64_t Value) : value_(Value) {}
    constexpr uint64_t Value() const { return value_; }
    constexpr explicit operator bool() const { return value_ != 0; }
    constexpr bool operator==(const TGridRowId&) const = default;

private:
    uint64_t value_ = 0;
};
