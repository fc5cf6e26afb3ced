#pragma once
// VirtualRadio: the virtual radio (torvan-radio-sim, beside the program)
// running in the background, so that a user without a radio can read, edit and
// write from inside the program. It is started on demand, keeps the radio's
// memory for as long as the program runs, and is stopped with the program.

#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

namespace torvan {

class VirtualRadio : public QObject {
  Q_OBJECT
 public:
  // `program` is the simulator's executable.
  explicit VirtualRadio(QString program, QStringList arguments = {}, QObject* parent = nullptr);
  ~VirtualRadio() override;

  // The simulator's executable beside the program in `programDir` (with
  // ".exe" on Windows); the radio is available when it exists.
  static QString ProgramIn(const QString& programDir);
  static bool AvailableIn(const QString& programDir);

  // Starts the radio unless it runs already, and waits for the terminal path
  // it prints first. False, with ErrorText() saying why, when it cannot start.
  bool Start();
  bool Running() const;
  // The serial port to open (a pseudo-terminal); empty while not running.
  QString PortName() const;
  QString ErrorText() const { return m_error; }

  // Stops the radio; its memory is gone.
  void Stop();

 private:
  QString m_program;
  QStringList m_arguments;
  QProcess* m_process = nullptr;
  QString m_port;
  QString m_error;
};

// The device behind the port name of a transfer: the terminal of `radio` for
// kVirtualRadioPort (starting the radio when needed), any other name as it
// is. False with `error` set when the virtual radio cannot be started.
bool ResolvePortName(VirtualRadio& radio, const QString& name, QString& device, QString& error);

}  // namespace torvan
