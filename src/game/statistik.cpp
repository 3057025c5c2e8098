#include "window/wulpe.h"

void Wulpe::ZaehlerLoeschen()
{
}

void Wulpe::Command1_Click()
{
    ZaehlerLoeschen();
}
