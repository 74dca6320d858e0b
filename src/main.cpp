// Korvane: wires the Qt platform to the program and runs it.
//
// korvane [FILE...] opens each FILE as a settings document: the first in the
// first session window, each further one in a window of its own.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/EventQueue.h"
#include "app/ScreenTextFile.h"
#include "emulation/HostPaths.h"
#include "platform/CharMap.h"
#include "platform/posix/UserFolders.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "platform/StringTable.h"

namespace {

// The program's data files: beside an installed program, else the source
// tree's resources folder.
std::string ResourcesFolder() {
  const QString installed = QCoreApplication::applicationDirPath() + "/../share/korvane";
  if (QFileInfo(installed + "/interface.json").exists()) return QDir(installed).canonicalPath().toStdString();
  return KORVANE_RESOURCES_DIR;
}

// The compiled terminal descriptions Korvane ships: installed beside its
// data files, else in the build tree.
std::string TerminfoFolder(const std::string& resources) {
  const QString installed = QString::fromStdString(resources) + "/terminfo";
  if (QFileInfo(installed + "/v/vp").exists()) return installed.toStdString();
  return KORVANE_TERMINFO_DIR;
}

std::string ReadText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace korvane;
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvane"));
  QApplication::setQuitOnLastWindowClosed(false);

  const std::string resources = ResourcesFolder();
  const bool french = QLocale().language() == QLocale::French;
  const std::string table = ReadText(resources + "/strings/" + (french ? "fr" : "en") + ".txt");
  platform::StringTable strings;
  strings.Load(table);

  platform::InterfaceDescription description;
  std::string error;
  const bool described = platform::LoadInterfaceDescription(resources + "/interface.json", description, error);
  platform::LocaliseDescription(description, [&strings](const std::string& s) { return strings.Localise(s); });

  app::EventQueue queue;
  platform::QtPlatform qt(queue, description, [&strings](const std::string& s) { return strings.Localise(s); });
  queue.onPost = [&qt] { qt.pump.Wake(); };

  app::Platform platform{qt.clock, qt.pump,      qt.windows, qt.menus,  qt.alerts, qt.cursors,
                         qt.files, qt.processes, qt.desktop, qt.sounds, &qt.keyMap};
  app::StartupData data;
  data.preferencesFolder = qt.files.PreferencesFolderPath();
  data.programs = ChildPrograms::ForThisUser();
  data.programs.TerminfoFolder = TerminfoFolder(resources);
  data.stringTable = table;
  data.errorMessages = ReadText(resources + "/errors.txt");
  data.menuBarInstalled = described;
  data.menuBarError = platform::MacRomanFromUtf8(error);
  data.resourcesFolder = resources;
  data.hostFolders = HostFoldersForThisUser(resources);

  app::App app(platform, queue, std::move(data));
  app.askSettingsFileName = [&strings](const std::string& proposed) -> std::optional<std::string> {
    const QString title = QString::fromStdString(platform::Utf8FromMacRoman(strings.Localise("Save Settings as")));
    const QString chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), title,
                                                        QString::fromStdString(proposed));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
  };

  // Tests of the running program read the active session's screen from the
  // file this variable names.
  std::unique_ptr<app::ScreenTextFile> screenText;
  QTimer screenTextTimer;
  if (const char* path = std::getenv("KORVANE_SCREEN_TEXT"); path && *path) {
    screenText = std::make_unique<app::ScreenTextFile>(path);
    QObject::connect(&screenTextTimer, &QTimer::timeout, [&screenText, &app] { screenText->Update(app); });
    screenTextTimer.start(100);
  }

  std::vector<std::string> documents;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) documents.push_back(args[i].toStdString());
  app.OpenDocuments(documents);
  return app.Run();
}
