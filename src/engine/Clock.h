#pragma once

namespace lexaro {

// A broken-down local time: year in full, month 1-12, day 1-31, hour 0-23, minute and second.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Source of the current local time. The engine takes one so that date stamps are exact under test.
struct Clock {
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// The machine's clock in the local time zone.
struct SystemClock : Clock {
    LocalTime Now() const override;
};

} // namespace lexaro
