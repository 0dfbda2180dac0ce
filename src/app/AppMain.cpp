#include "app/AquariumApp.h"

wxIMPLEMENT_APP(AquariumApp);
