#include "window/wulpe.h"

void Wulpe::FensterAnordnen()
{
}

void Wulpe::Form_Resize()
{
    FensterAnordnen();
}
