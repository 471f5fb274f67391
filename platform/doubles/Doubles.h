#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Random.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// A clock the test moves by hand.
class FakeClock final : public Clock
{
public:
    double now = 36000.0; // 10:00:00
    double elapsed = 0;   // the monotonic reading
    QDate day{2026, 12, 7};

    double timer() override { return now; }
    double monotonic() override { return elapsed; }
    QDate today() override { return day; }
    // Moves on by the given seconds, wrapping at midnight as the real clock does.
    void advance(double seconds);
    // Sets the time of day, as a correction of the system's clock or a change to or from
    // daylight-saving time does; no time passes.
    void setTimeOfDay(double seconds) { now = seconds; }
};

// Plays back scripted values in [0, 1); once they run out, goes on with a seeded generator.
// Re-seeds are counted and otherwise ignored, so a script is exactly what the drill sees.
class ScriptedRandom final : public Random
{
public:
    std::deque<double> script;
    int reseeds = 0;

    explicit ScriptedRandom(std::uint64_t seed = 1) : m_rest(seed) {}
    void randomize(double) override { ++reseeds; }
    double rnd() override;

private:
    MixRandom m_rest;
};

// Answers message boxes from a script (OK for style 0, Yes for style 68 when it runs out) and
// records every box shown.
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Shown
    {
        QString prompt;
        int style;
        QString title;
    };
    QList<Shown> shown;
    std::deque<int> answers;
    // Answers a box once the script has run out, in place of OK or Yes.
    std::function<int(const Shown &)> risponde;

    int msgBox(const QString &prompt, int style, const QString &title) override;
};

class CountingBeeper final : public Beeper
{
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

class RecordingEnder final : public Ender
{
public:
    int ends = 0;
    void end() override { ++ends; }
    bool ended() const override { return ends > 0; }
};
