#include "app/Module.h"

int main() { return percent_main(); }
