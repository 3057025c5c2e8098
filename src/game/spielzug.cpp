#include "window/wulpe.h"

void Wulpe::Spielzug()
{
}
