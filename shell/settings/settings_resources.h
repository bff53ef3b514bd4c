// Resources of the settings dialog (ids 300 to 399 are ours).
#pragma once

#define IDI_VELLIS_P 300
#define IDB_MARK_OFF 301
#define IDB_MARK_ON 302
