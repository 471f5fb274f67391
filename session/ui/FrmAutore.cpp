#include "session/ui/FrmAutore.h"

#include "platform/ui/Controls.h"

#include <QScreen>

namespace {

constexpr Carattere carattere = sansSerif(13.5, Grassetto);

// clang-format off
constexpr ControlDef controlli[] = {
    {.name = "Label1", .kind = Kind::Label, .left = 1230, .top = 420, .width = 4245,
     .height = 615, .caption = u"www.example.org/zefirano", .font = carattere,
     .flags = Centred | Transparent},
    {.name = "Label2", .kind = Kind::Label, .left = 1140, .top = 1350, .width = 4275,
     .height = 525, .caption = u"E-mail : autore@example.org", .font = carattere,
     .flags = Centred | Transparent},
};

constexpr FormDef definizione{.name = "FrmAutore",
                              .caption = u"Autore",
                              .width = 7215,
                              .height = 2970,
                              .back = RGB(192, 255, 255),
                              .controls = controlli,
                              .fixedSize = true};
// clang-format on

} // namespace

FrmAutore::FrmAutore() : Form(definizione) {}

void FrmAutore::Form_Load()
{
    FormWindow *finestra = window();
    const double larghezza = finestra->width() * twipsPerPixel;
    double schermo = larghezza;
    if (QScreen *screen = finestra->screen())
        schermo = screen->availableGeometry().width() * twipsPerPixel;
    const double left = (schermo - larghezza) / 2.0;
    const double top = 20.0;
    finestra->move(static_cast<int>(left / twipsPerPixel), static_cast<int>(top / twipsPerPixel));
    for (const char *nome : {"Label1", "Label2"})
        setLeft(nome, (larghezza - twips(nome).width()) / 2.0);
}
