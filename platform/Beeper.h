#pragma once

class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// End: the program stops at once, without any query-unload event.
class Ender
{
public:
    virtual ~Ender() = default;
    virtual void end() = 0;
    virtual bool ended() const = 0;
};
