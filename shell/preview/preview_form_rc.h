// Resource IDs of the preview form (200..299).
#pragma once

#define IDB_PREVIEW_STILL 200
