// qv530: the QV530-10800rad configurator.
#include "app/CMouseConfigurationApp.h"

int main(int argc, char** argv) { return qv530::CMouseConfigurationApp().Run(argc, argv); }
