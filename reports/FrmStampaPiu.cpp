#include "reports/FrmStampaPiu.h"

namespace {
constexpr FormDef definizione{.name = "FrmStampaPiu",
                              .caption = u"STAMPA DELLE OPERAZIONI",
                              .width = 11910,
                              .height = 8340,
                              .back = RGB(128, 255, 255),
                              .font = {u"Courier", 9.75, false}};
} // namespace

FrmStampaPiu::FrmStampaPiu(Programma &programma) : Form(definizione), m_programma(programma) {}

void FrmStampaPiu::mostraSedutaIntera()
{
    if (isLoaded())
        unload();
    show();
}
