#pragma once
// The printing parts the whole program shares: the windows' page formats and
// the "Page Setup" file, text and picture printing, and the spooler of raw
// jobs. One of these serves every session.

#include <string>

#include "output/PageSetup.h"
#include "output/PrintPicture.h"
#include "output/PrintSpooler.h"
#include "output/PrintText.h"
#include "platform/Alerts.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Printing.h"
#include "platform/Programs.h"

namespace korvane::output {

class PrintServices {
 public:
  PrintServices(platform::Printing& printer, platform::Files& files, platform::Alerts& alerts,
                platform::Programs& programs, platform::Clock& clock, const std::string& preferencesFolder)
      : printing(printer),
        pageSetup(printer, files, alerts, preferencesFolder),
        textPrinting(printer, alerts, pageSetup),
        picturePrinting(printer, alerts),
        spooler(programs, files, alerts, clock) {}
  PrintServices(const PrintServices&) = delete;
  PrintServices& operator=(const PrintServices&) = delete;

  platform::Printing& printing;
  PageSetup pageSetup;
  TextPrinting textPrinting;
  PicturePrinting picturePrinting;
  PrintSpooler spooler;
};

}  // namespace korvane::output
