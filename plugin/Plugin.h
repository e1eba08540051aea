// Module start and the plug-in's entry points.
#pragma once

// Fills the module's tables; runs when the module is loaded, before the
// player asks for the record.
void ModuleInit();

int PluginInit();
void PluginConfig();
void PluginQuit();
