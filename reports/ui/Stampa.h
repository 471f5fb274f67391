#pragma once

#include <QString>

#include <functional>

class Printer;
class QWidget;
struct Platform;
struct SessionState;

// Prints one page on the default printer. When no printer can take it, or the job fails at any
// step, the job is dropped, a message says why, and the child is offered the same page as a PDF
// file instead. Nothing else changes: no window, button or session value.
//
// pagina lays the page out on the printer it is given and returns false at the first failure.
// nomePagina names the suggested file ("Operazioni", "Attestato"). Returns true when the page
// went to the printer or was saved.
bool stampaConRiserva(SessionState &stato, Platform &piattaforma, QWidget *finestra,
                      const QString &nomePagina, const std::function<bool(Printer &)> &pagina);

// The file name offered for the PDF: the page and the child's name, without characters that
// file systems refuse.
QString nomeFilePdf(const QString &nomePagina, const QString &nomeAlunno);
