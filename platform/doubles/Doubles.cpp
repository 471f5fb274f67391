#include "platform/doubles/Doubles.h"

#include <cmath>

void FakeClock::advance(double seconds)
{
    now = std::fmod(now + seconds, 86400.0);
    elapsed += seconds;
}

double ScriptedRandom::rnd()
{
    if (script.empty())
        return m_rest.rnd();
    const double r = script.front();
    script.pop_front();
    return r;
}

int ScriptedMessageBox::msgBox(const QString &prompt, int style, const QString &title)
{
    shown.append({prompt, style, title});
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (risponde)
        return risponde(shown.last());
    return style == SiNoInformazione ? Si : Ok;
}
