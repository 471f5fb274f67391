#include "platform/ui/Facce.h"

#include "platform/ui/FormTable.h"

#include <QFontDatabase>
#include <QStringList>

QString facciaDisegnata(std::u16string_view progettata)
{
    const QString nome = QString::fromUtf16(progettata.data(), qsizetype(progettata.size()));
    // The faces installed, by their own names: asked for a name it lacks, the font database would
    // answer with whatever face the system's aliases give.
    static const QStringList installate = QFontDatabase::families();
    if (installate.contains(nome, Qt::CaseInsensitive) && QFontDatabase::isSmoothlyScalable(nome))
        return nome;
    for (const Sostituto &s : sostituti)
        if (progettata == s.progettata)
            return QString::fromUtf16(s.disegnata);
    return nome;
}
