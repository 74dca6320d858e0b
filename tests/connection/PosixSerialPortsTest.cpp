// Finding the serial ports on a fake sysfs and /dev, and the devices the user
// names in the environment and the settings folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/PosixSerialPorts.h"
#include "support/SerialPtySupport.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using platform::SerialPortEntry;
using platform::posix::PosixSerialPorts;
using platform::posix::SerialDevicePlaces;
using testing_support::SerialPtyPair;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Tty {
  const char* name;
  bool device, driver;
  const char* type;  // the serial core's type attribute, null for none
  bool node;         // /dev has it
};

// A sysfs as the kernel shows it: class/tty entries are links into the
// device tree.
void MakeTree(const TempDir& dir, const std::vector<Tty>& ttys) {
  fs::create_directories(dir / "sys/class/tty");
  fs::create_directories(dir / "dev");
  for (const Tty& t : ttys) {
    const std::string real = dir / ("sys/devices/platform/" + std::string(t.name));
    fs::create_directories(real);
    fs::create_directory_symlink("../../devices/platform/" + std::string(t.name),
                                 dir / ("sys/class/tty/" + std::string(t.name)));
    if (t.device) fs::create_directories(real + "/device");
    if (t.driver) fs::create_directories(real + "/device/driver");
    if (t.type) WriteFile(real + "/type", std::string(t.type) + "\n");
    if (t.node) WriteFile(dir / ("dev/" + std::string(t.name)), "");
  }
}

std::vector<std::string> Names(const std::vector<SerialPortEntry>& ports) {
  std::vector<std::string> out;
  for (const auto& p : ports) out.push_back(p.name);
  return out;
}

class SerialDiscoveryTest : public ::testing::Test {
 protected:
  SerialDiscoveryTest() {
    MakeTree(dir, {
                      {"ttyS0", true, true, "4", true},
                      {"ttyS1", true, true, "0", true},  // set up by the kernel, no UART there
                      {"ttyS10", true, true, "4", true},
                      {"ttyS2", true, true, "4", true},
                      {"ttyUSB0", true, true, nullptr, true},
                      {"ttyUSB1", true, true, nullptr, false},  // no device node
                      {"ttyACM0", true, false, nullptr, true},  // no driver bound
                      {"tty0", false, false, nullptr, true},    // a virtual console
                      {"console", false, false, nullptr, true},
                      {"rfcomm0", false, false, nullptr, true},
                  });
    fs::create_directories(dir / "dev/serial/by-id");
    fs::create_symlink("../../ttyUSB0", dir / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    places.sysRoot = dir / "sys";
    places.devRoot = dir / "dev";
  }
  TempDir dir;
  SerialDevicePlaces places;
};

TEST_F(SerialDiscoveryTest, FindsTheSerialDevicesInNaturalOrder) {
  PosixSerialPorts ports(places);
  const std::vector<SerialPortEntry> found = ports.ListPorts();
  EXPECT_EQ(Names(found), (std::vector<std::string>{"rfcomm0", "ttyS0", "ttyS2", "ttyS10", "ttyUSB0"}));
  for (const auto& p : found) {
    EXPECT_EQ(p.path, places.devRoot + "/" + p.name);
    EXPECT_EQ(p.stableName, p.name == "ttyUSB0" ? "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" : "") << p.name;
  }
}

TEST_F(SerialDiscoveryTest, AMachineWithoutSerialDevicesListsNone) {
  SerialDevicePlaces empty;
  empty.sysRoot = dir / "nothing/sys";
  empty.devRoot = dir / "nothing/dev";
  EXPECT_TRUE(PosixSerialPorts(empty).ListPorts().empty());
}

TEST_F(SerialDiscoveryTest, DevicesTheUserNamesComeAfterTheDiscoveredOnes) {
  SerialPtyPair a, b, c;
  fs::create_directories(dir / "links");
  fs::create_directories(dir / "other");
  fs::create_symlink(a.path(), dir / "links/ttyV0");
  fs::create_symlink(b.path(), dir / "other/ttyV0");  // the same file name
  fs::create_symlink(c.path(), dir / "links/tty,V1");
  places.namedInVariable = (dir / "links/ttyV0") + ":relative/ttyV9::" + (dir / "links/absent");
  places.namedDevicesFile = dir / "serial-devices";
  WriteFile(places.namedDevicesFile, (dir / "other/ttyV0") + "\r\n\n   " + (dir / "links/ttyV0") + "  \n" +
                                         (dir / "links/tty,V1") + "\n" + (dir / "dev/ttyS0") + "\n");

  const std::vector<SerialPortEntry> found = PosixSerialPorts(places).ListPorts();
  EXPECT_EQ(Names(found), (std::vector<std::string>{"rfcomm0", "ttyS0", "ttyS2", "ttyS10", "ttyUSB0", "ttyV0",
                                                    dir / "other/ttyV0", "tty_V1"}));
  // The path given is the one opened, so that a link made anew still works.
  EXPECT_EQ(found[5].path, dir / "links/ttyV0");
  EXPECT_EQ(found[6].path, dir / "other/ttyV0");
}

TEST_F(SerialDiscoveryTest, ANamedDeviceThatDiscoveryFoundIsListedOnce) {
  SerialPtyPair a;
  fs::remove(dir / "dev/ttyUSB0");
  fs::create_symlink(a.path(), dir / "dev/ttyUSB0");
  places.namedInVariable = a.path() + ":" + (dir / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  EXPECT_EQ(Names(PosixSerialPorts(places).ListPorts()),
            (std::vector<std::string>{"rfcomm0", "ttyS0", "ttyS2", "ttyS10", "ttyUSB0"}));
}

TEST(SerialDevicePlaces, ThisMachineNamesDevicesInTheEnvironmentAndTheSettingsFolder) {
  testing_support::ScopedEnv env;
  env.Set("KORVANE_SERIAL_DEVICES", "/tmp/ttyV0:/tmp/ttyV1");
  const SerialDevicePlaces places = PosixSerialPorts::PlacesOfThisMachine("/home/u/.config/korvane/");
  EXPECT_EQ(places.sysRoot, "/sys");
  EXPECT_EQ(places.devRoot, "/dev");
  EXPECT_EQ(places.namedInVariable, "/tmp/ttyV0:/tmp/ttyV1");
  EXPECT_EQ(places.namedDevicesFile, "/home/u/.config/korvane/serial-devices");
  env.Unset("KORVANE_SERIAL_DEVICES");
  EXPECT_EQ(PosixSerialPorts::PlacesOfThisMachine("/x/").namedInVariable, "");
}

}  // namespace
}  // namespace korvane
