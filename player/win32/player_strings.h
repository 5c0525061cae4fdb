// Ids of the player's string table (player_strings.rc).
#pragma once

#define IDS_INVALID_FILE 1
#define IDS_ERROR_CAPTION 3
#define IDS_JPEG_FATAL_ERROR 4
#define IDS_JPEG_ERROR 5
#define IDS_PRINT_DOCUMENT 6
#define IDS_LINK_TARGET 7
