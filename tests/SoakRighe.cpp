#include "SoakRighe.h"

#include "session/Testi.h"

#include <QRegularExpression>

#include <array>
#include <cstdlib>

using namespace Qt::StringLiterals;

bool testoValido(const QString &t)
{
    if (!t.isValidUtf16())
        return false;
    for (QChar c : t)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

qsizetype caratteri(const QString &t)
{
    return t.toUcs4().size();
}

Riga esaminaRiga(const QString &riga)
{
    // A number in two columns: a blank and one digit, or two digits (three for 100).
    static const QString n = u"( [1-9]|[1-9][0-9]{1,2})"_s;
    enum class Nascosto { Secondo, SommaMenoPrimo, Somma, PrimoMenoSecondo, Segno, SegnoInverso };
    struct Forma
    {
        QRegularExpression re;
        Nascosto nascosto;
    };
    const auto forma = [](const QString &modello, Nascosto nascosto) {
        QString re = modello;
        re.replace(u"N"_s, n);
        return Forma{QRegularExpression(u'^' + re), nascosto};
    };
    static const std::array<Forma, 8> forme{
        forma(u" \\. \\+ N = N"_s, Nascosto::SommaMenoPrimo),   // type 1
        forma(u"N \\+  \\. = N"_s, Nascosto::SommaMenoPrimo),   // type 2
        forma(u"N \\+ N = \\. "_s, Nascosto::Somma),            // type 3
        forma(u" \\. = N \\+ N"_s, Nascosto::Somma),            // type 4
        forma(u"N =  \\. \\+ N"_s, Nascosto::PrimoMenoSecondo), // type 5
        forma(u"N = N \\+ \\. "_s, Nascosto::PrimoMenoSecondo), // type 6
        forma(u"N \\+ N \\. N"_s, Nascosto::Segno),             // types 7..9
        forma(u"N \\. N \\+ N"_s, Nascosto::SegnoInverso),      // types 10..12
    };
    static const QRegularExpression risposta(u"^( ?)\\((.*)\\)( ?) ([0-9]+)(\\*?)$"_s,
                                             QRegularExpression::DotMatchesEverythingOption);

    Riga r;
    for (const Forma &f : forme) {
        const QRegularExpressionMatch m = f.re.match(riga);
        if (!m.hasMatch())
            continue;
        std::array<int, 3> v{};
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            v[static_cast<std::size_t>(i - 1)] = m.captured(i).trimmed().toInt();
        QString attesa;
        bool segno = false;
        switch (f.nascosto) {
        case Nascosto::Secondo:
            attesa = QString::number(v[1]);
            break;
        case Nascosto::SommaMenoPrimo:
            attesa = QString::number(v[1] - v[0]);
            break;
        case Nascosto::Somma:
            attesa = QString::number(v[0] + v[1]);
            break;
        case Nascosto::PrimoMenoSecondo:
            attesa = QString::number(v[0] - v[1]);
            break;
        case Nascosto::Segno:
        case Nascosto::SegnoInverso: {
            segno = true;
            const int sinistra = f.nascosto == Nascosto::Segno ? v[0] + v[1] : v[0];
            const int destra = f.nascosto == Nascosto::Segno ? v[2] : v[1] + v[2];
            if (std::abs(sinistra - destra) > 1) {
                r.perche = u"the two sides differ by more than one"_s;
                return r;
            }
            attesa = sinistra == destra ? u"="_s : sinistra > destra ? u">"_s : u"<"_s;
            break;
        }
        }
        if (!segno && attesa.toInt() < 1) {
            r.perche = u"the hidden number is not a whole number from 1"_s;
            return r;
        }

        const QString resto = riga.mid(m.capturedLength());
        if (resto.isEmpty()) {
            r.valida = true;
            return r;
        }
        const QRegularExpressionMatch a = risposta.match(resto);
        if (!a.hasMatch()) {
            r.perche = u"the answer part does not read (answer) seconds"_s;
            return r;
        }
        const QString data = a.captured(2);
        if (!testoValido(data)) {
            r.perche = u"the answer holds a broken character or a control character"_s;
            return r;
        }
        if (segno ? data != u"="_s && data != u"<"_s && data != u">"_s : caratteri(data) > 2) {
            r.perche = u"the answer is not what the answer place can hold"_s;
            return r;
        }
        const bool bassa = segno || Val(data) < 10;
        if (a.captured(1).isEmpty() == bassa) {
            r.perche = u"the blank before the answer does not follow its value"_s;
            return r;
        }
        bool ok = false;
        r.secondi = a.captured(4).toInt(&ok);
        if (!ok || QString::number(r.secondi) != a.captured(4)) {
            r.perche = u"the seconds are not a whole number"_s;
            return r;
        }
        if (a.captured(3).isEmpty() == (r.secondi < 10)) {
            r.perche = u"the blank before the seconds does not follow their value"_s;
            return r;
        }
        r.esatta = data == attesa;
        if (a.captured(5).isEmpty() != r.esatta) {
            r.perche = u"the mark of a wrong answer disagrees with the numbers (expected "_s +
                       attesa + u')';
            return r;
        }
        r.valida = true;
        r.verificata = true;
        return r;
    }
    r.perche = u"the first part is none of the twelve types"_s;
    return r;
}
