#include "app/link/VirtualRadio.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>

#include <csignal>
#endif

#include "app/link/PortSetting.h"

namespace torvan {
namespace {

#ifdef Q_OS_WIN
constexpr const char* kSimulatorName = "torvan-radio-sim.exe";
#else
constexpr const char* kSimulatorName = "torvan-radio-sim";
#endif
// The radio prints its terminal path at once; a loaded machine may take a while.
constexpr int kStartMilliseconds = 5000;
constexpr int kStopMilliseconds = 2000;

}  // namespace

VirtualRadio::VirtualRadio(QString program, QStringList arguments, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_arguments(std::move(arguments)) {}

VirtualRadio::~VirtualRadio() { Stop(); }

QString VirtualRadio::ProgramIn(const QString& programDir) {
  return QDir(programDir).filePath(QLatin1String(kSimulatorName));
}

bool VirtualRadio::AvailableIn(const QString& programDir) {
  const QFileInfo info(ProgramIn(programDir));
  return info.isFile() && info.isExecutable();
}

bool VirtualRadio::Running() const { return m_process && m_process->state() == QProcess::Running && !m_port.isEmpty(); }

QString VirtualRadio::PortName() const { return Running() ? m_port : QString(); }

bool VirtualRadio::Start() {
  if (Running()) return true;
  Stop();
  m_error.clear();
  m_process = new QProcess(this);
  // Its complaints (faults it was asked to show, a save that failed) belong
  // with the program's own.
  m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
#ifdef Q_OS_LINUX
  // Also when the program is killed, the radio goes with it. Should the call
  // fail, the radio merely outlives a killed program.
  m_process->setChildProcessModifier([] { [[maybe_unused]] const int r = ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
  m_process->start(m_program, m_arguments, QIODevice::ReadOnly);
  if (!m_process->waitForStarted(kStartMilliseconds)) {
    m_error = tr("%1 could not be started: %2").arg(QDir::toNativeSeparators(m_program), m_process->errorString());
    Stop();
    return false;
  }
  // The first line is the terminal's path.
  while (!m_process->canReadLine()) {
    if (m_process->state() != QProcess::Running || !m_process->waitForReadyRead(kStartMilliseconds)) {
      m_error = tr("%1 did not name its port.").arg(QDir::toNativeSeparators(m_program));
      Stop();
      return false;
    }
  }
  m_port = QString::fromLocal8Bit(m_process->readLine()).trimmed();
  if (m_port.isEmpty()) {
    m_error = tr("%1 did not name its port.").arg(QDir::toNativeSeparators(m_program));
    Stop();
    return false;
  }
  return true;
}

void VirtualRadio::Stop() {
  m_port.clear();
  if (!m_process) return;
  if (m_process->state() != QProcess::NotRunning) {
    m_process->terminate();  // SIGTERM: the radio leaves its loop and closes its terminal
    if (!m_process->waitForFinished(kStopMilliseconds)) {
      m_process->kill();
      m_process->waitForFinished(kStopMilliseconds);
    }
  }
  delete m_process;
  m_process = nullptr;
}

bool ResolvePortName(VirtualRadio& radio, const QString& name, QString& device, QString& error) {
  if (name != QLatin1String(kVirtualRadioPort)) {
    device = name;
    return true;
  }
  if (!radio.Start()) {
    error = radio.ErrorText();
    return false;
  }
  device = radio.PortName();
  return true;
}

}  // namespace torvan
