#include "platform/ui/stampa/QtPrinter.h"

// The entry of the printing module: the program loads it when a page is first printed (see
// StampantiDifferite), so that starting it does not load Qt's print support.
extern "C" Q_DECL_EXPORT PrinterFactory *zefirano_stampanti()
{
    static QtPrinterFactory stampanti;
    return &stampanti;
}
