#pragma once

// Every shared record, enumeration and message number.
#include "records/Dialogs.h"
#include "records/Document.h"
#include "records/Geometry.h"
#include "records/JpData.h"
#include "records/Layout.h"
#include "records/Messages.h"
#include "records/Playback.h"
#include "records/Types.h"
