// Resource names shared by the resource script and the code; plain macros,
// because the resource compiler reads this file too.
#pragma once

#define IDD_CONFIG 101
// The dialog's push buttons besides OK (1) and Cancel (2).
#define IDC_DEFAULTS 3
#define IDC_HELPPAGE 4
#define IDC_RESETCAPTIONS 5
#define IDC_CLIENTS 6

// The clients window: what the plug-in does with each client, one a line.
#define IDD_CLIENTS 102
#define IDC_CLIENTLINES 100
