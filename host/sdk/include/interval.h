#pragma once

#include "maxtypes.h"

class Interval {
public:
    // A default interval is empty (the host's NEVER).
    Interval() : start_(TIME_NegInfinity), end_(TIME_NegInfinity) {}
    Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}

    TimeValue Start() const { return start_; }
    TimeValue End() const { return end_; }
    void Set(TimeValue s, TimeValue e) {
        start_ = s;
        end_ = e;
    }
    void SetInfinite() { Set(TIME_NegInfinity, TIME_PosInfinity); }
    void SetEmpty() { Set(TIME_NegInfinity, TIME_NegInfinity); }
    bool Empty() const { return start_ == TIME_NegInfinity && end_ == TIME_NegInfinity; }
    int InInterval(TimeValue t) const { return !Empty() && t >= start_ && t <= end_; }

    Interval& operator&=(const Interval& i) {
        if (Empty() || i.Empty() || i.start_ > end_ || i.end_ < start_) {
            SetEmpty();
        } else {
            start_ = start_ > i.start_ ? start_ : i.start_;
            end_ = end_ < i.end_ ? end_ : i.end_;
        }
        return *this;
    }
    bool operator==(const Interval& i) const { return start_ == i.start_ && end_ == i.end_; }
    bool operator!=(const Interval& i) const { return !(*this == i); }

private:
    TimeValue start_, end_;
};

#define FOREVER Interval(TIME_NegInfinity, TIME_PosInfinity)
#define NEVER Interval(TIME_NegInfinity, TIME_NegInfinity)
