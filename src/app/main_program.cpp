#include "app/main_program.h"

#include "platform/drives.h"

namespace kadoru {

MainProgram::MainProgram(const ProgramPorts& ports, const std::string& start_folder)
    : model(ports.drives, ports.fs, ports.drives.drive_of(start_folder), start_folder),
      controller(model, ports.fs, ports.drives, ports.messages, ports.events, ports.clock,
                 ports.progress) {
}

} // namespace kadoru
