// Resource ids of the Command button's skin pictures, in the order of Skin.
#pragma once

#define IDB_COMMAND_NORMAL 101
#define IDB_COMMAND_HIGHLIGHT 102
#define IDB_COMMAND_PRESSED 103
#define IDB_COMMAND_SELECTED 104
#define IDB_COMMAND_HIGHLIGHTSELECT 105
#define IDB_COMMAND_DISABLE 106
