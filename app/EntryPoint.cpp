#include "app/Module.h"
#include "framework/platform/DesktopServices.h"

int main()
{
    fw::provideDesktopServices(fw::makeDesktopServices);
    return percent_main();
}
