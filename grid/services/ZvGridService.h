#pragma once
// What every grid service shares: the grid it serves, made with it on first use
// and never copied. A service keeps its state private; the grid's members of
// that service are its face and reach the state directly (each service names
// TZvStringGrid its friend).

class TZvStringGrid;

class TZvGridService {
public:
    explicit TZvGridService(TZvStringGrid* AGrid) : FGrid(AGrid) {}
    TZvGridService(const TZvGridService&) = delete;
    TZvGridService& operator=(const TZvGridService&) = delete;

protected:
    ~TZvGridService() = default;
    TZvStringGrid* const FGrid;
};

// Raises EZvGridError "<What> is not built yet". Every operation of a service
// that later work builds says so through this, instead of doing nothing; the
// file of each service lists its unbuilt operations at its top.
[[noreturn]] void NotBuilt(const char* What);
