#include "platform/doubles/RecordingPrinter.h"

RecordingPrinter::RecordingPrinter(std::shared_ptr<LavoroStampa> lavoro, GuastoStampante guasto)
    : m_lavoro(std::move(lavoro)), m_guasto(std::move(guasto))
{
}

void RecordingPrinter::setFontName(const QString &name)
{
    m_lavoro->chiamate.append(QStringLiteral("setFontName ") + name);
    if (!m_fallito)
        m_font = name;
}

void RecordingPrinter::setFontSize(double points)
{
    m_lavoro->chiamate.append(QStringLiteral("setFontSize ") + QString::number(points));
    if (!m_fallito)
        m_dimensione = points;
}

void RecordingPrinter::setFontBold(bool bold)
{
    m_lavoro->chiamate.append(QStringLiteral("setFontBold ") + QString::number(int(bold)));
    if (!m_fallito)
        m_grassetto = bold;
}

void RecordingPrinter::setCurrentX(double twips)
{
    m_lavoro->chiamate.append(QStringLiteral("setCurrentX ") + QString::number(twips));
    if (!m_fallito)
        m_x = twips;
}

void RecordingPrinter::setCurrentY(double twips)
{
    m_lavoro->chiamate.append(QStringLiteral("setCurrentY ") + QString::number(twips));
    if (!m_fallito)
        m_y = twips;
}

bool RecordingPrinter::stampa()
{
    if (m_fallito)
        return false;
    if (m_stampe++ == m_guasto.stampaCheFallisce) {
        m_fallito = true;
        m_errore = m_guasto.errore;
        return false;
    }
    m_pagina = true;
    return true;
}

bool RecordingPrinter::print(const QString &line)
{
    m_lavoro->chiamate.append(QStringLiteral("print ") + line);
    if (!stampa())
        return false;
    m_lavoro->righe.append({line, m_x, m_y, m_font, m_dimensione, m_grassetto});
    m_x = 0;
    m_y += m_dimensione * 20;
    return true;
}

bool RecordingPrinter::printForm(QWidget *form)
{
    m_lavoro->chiamate.append(QStringLiteral("printForm"));
    if (!stampa())
        return false;
    m_lavoro->forms.append(form);
    if (allaStampaForm)
        allaStampaForm(form);
    return true;
}

bool RecordingPrinter::endDoc()
{
    m_lavoro->chiamate.append(QStringLiteral("endDoc"));
    if (m_fallito)
        return false;
    if (m_guasto.fineDocFallisce && m_pagina) {
        m_fallito = true;
        m_errore = m_guasto.errore;
        return false;
    }
    m_lavoro->inviato = m_lavoro->inviato || m_pagina;
    m_pagina = false;
    return true;
}

void RecordingPrinter::killDoc()
{
    m_lavoro->chiamate.append(QStringLiteral("killDoc"));
    m_lavoro->annullato = m_lavoro->annullato || m_pagina;
    m_pagina = false;
}

std::unique_ptr<Printer> RecordingPrinterFactory::stampante()
{
    auto lavoro = std::make_shared<LavoroStampa>();
    lavori.append(lavoro);
    auto printer = std::make_unique<RecordingPrinter>(lavoro, guastoStampante);
    printer->allaStampaForm = allaStampaForm;
    return printer;
}

std::unique_ptr<Printer> RecordingPrinterFactory::pdf(const QString &path)
{
    auto lavoro = std::make_shared<LavoroStampa>();
    lavoro->pdf = path;
    lavori.append(lavoro);
    auto printer = std::make_unique<RecordingPrinter>(lavoro, guastoPdf);
    printer->allaStampaForm = allaStampaForm;
    return printer;
}

QString ScriptedSaveDialog::chiediFilePdf(QWidget *, const QString &suggested)
{
    proposti.append(suggested);
    if (risposte.empty())
        return {};
    QString risposta = risposte.front();
    risposte.pop_front();
    return risposta;
}
