#pragma once

// Everything the simulator needs to make and read real device files.
#include "formats/AudioFile.h"
#include "formats/BackupReader.h"
#include "formats/BackupTypes.h"
#include "formats/BackupWriter.h"
#include "formats/BookFile.h"
#include "formats/ImageFile.h"
#include "formats/IpaFile.h"
#include "formats/MediaInfo.h"
#include "formats/VideoFile.h"
