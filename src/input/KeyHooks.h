#pragma once
// What sending a key string needs of the program around the session: the
// clipboard's text and the closing of the connection. The program implements
// it for each session window; a test records the calls.

namespace korvane::input {

class KeyHooks {
 public:
  virtual ~KeyHooks() = default;
  // "{PA": the clipboard's text goes to the host as the paste command sends it.
  virtual void PasteToHost() = 0;
  // A one-off key string that ends the connection is done: close it.
  virtual void CloseConnectionAfterKeyString() = 0;
  // Return was pressed while the session is not connected: open the
  // connection at the next pass.
  virtual void ConnectOnReturn() = 0;
};

}  // namespace korvane::input
