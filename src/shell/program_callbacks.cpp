#include "shell/program_callbacks.h"

#include <span>
#include <string>

#include "base/text_conversion.h"
#include "platform/module_program.h"
#include "platform/sound.h"
#include "storage/settings.h"

using namespace platform;

namespace shell {

void install_program_callbacks(outworld::environment& environment, const xman::settings& settings) {
  environment.set_sound_callback([&settings](outworld::sound_t sound) {
    if (sound == outworld::sound_t::key_click && !settings.use_sounds()) return;
    const std::uint16_t id = sound == outworld::sound_t::key_click ? key_click_sound : learned_beep_sound;
    std::span<const std::uint8_t> wave;
    if (program_module().wave(id, wave) == zq::rc::ok) play_wave(id, wave);
  });
  environment.set_text_callback([](std::uint32_t string_id) {
    std::wstring text;
    if (string_id > 0xFFFF || program_module().load_string(static_cast<std::uint16_t>(string_id), text) != 0)
      return meta::string();
    const std::string narrow = zq::wide_to_code_page(text);
    return meta::string::copy(narrow.c_str());
  });
}

}  // namespace shell
