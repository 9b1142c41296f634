#pragma once
// The running figures of a statistic over grid cells: the values counted, their sum, least
// and greatest. Every figure is 0 while nothing was counted.

struct TStatTally {
    double sum = 0;
    double least = 0;
    double most = 0;
    int count = 0;

    void Add(double Value) {
        if (count == 0 || Value < least) least = Value;
        if (count == 0 || Value > most) most = Value;
        sum += Value;
        ++count;
    }
    // The sum divided by the number of values counted.
    double Avg() const { return count > 0 ? sum / count : 0.0; }
    // The sum divided by the number of places of a range (a cell that does not read counts
    // as a place of the range); 0 for a range without places.
    double AvgOver(int Places) const { return Places > 0 ? sum / Places : 0.0; }
};
