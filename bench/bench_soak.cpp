// A million random events through the whole program (the soak test's children, in turns), with
// the invariants checked after each: prints the events per second and the faults found.
//
//   bench_soak [events] [seed]

#include "Soak.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long long eventi = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1'000'000;
    const quint64 seme = argc > 2 ? QByteArray(argv[2]).toULongLong() : 1;

    // Each child plays in turns of ten thousand events, with a seed of its own per turn.
    constexpr long long turno = 10'000;
    long long fatti = 0;
    long long guasti = 0;
    long long sedute = 0;
    long long verifiche = 0;
    QElapsedTimer orologio;
    orologio.start();
    for (long long t = 0; fatti < eventi; ++t) {
        const Bambino &bambino = bambini[static_cast<std::size_t>(t) % bambini.size()];
        Soak soak(seme * 1'000'003ULL + static_cast<quint64>(t), bambino.indole);
        const long long n = std::min(turno, eventi - fatti);
        while (soak.conteggi().eventi < n) {
            if (!soak.esegui(n - soak.conteggi().eventi)) {
                ++guasti;
                std::fprintf(stderr, "%s (%s)\n", qUtf8Printable(soak.guasto()), bambino.chi);
                soak.nuovaCorsa();
            }
        }
        fatti += soak.conteggi().eventi;
        sedute += soak.conteggi().fineSeduta;
        verifiche += soak.conteggi().verifiche;
        if ((t + 1) % 10 == 0)
            std::fprintf(stderr, "%lld events, %lld faults, %.0f events/s\n", fatti, guasti,
                         fatti / (orologio.elapsed() / 1000.0));
    }
    const double secondi = orologio.elapsed() / 1000.0;
    std::printf("bench_soak: %lld events in %.1f s, %.0f events/s; %lld operations checked, "
                "%lld sittings finished; faults found: %lld\n",
                fatti, secondi, fatti / secondi, verifiche, sedute, guasti);
    return guasti == 0 ? 0 : 1;
}
