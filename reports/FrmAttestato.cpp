#include "reports/FrmAttestato.h"

namespace {
constexpr FormDef definizione{.name = "FrmAttestato",
                              .caption = u"",
                              .width = 12000,
                              .height = 9000,
                              .back = RGB(255, 255, 255)};
} // namespace

FrmAttestato::FrmAttestato(Programma &programma) : Form(definizione), m_programma(programma) {}
