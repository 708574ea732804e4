#include "palette/ReadingAloud.h"

#include "framework/classes/EventLoop.h"
#include "framework/classes/PushButton.h"
#include "framework/classes/Speech.h"
#include "framework/classes/TextArea.h"
#include "framework/runtime/Exception.h"
#include "framework/runtime/Variant.h"
#include "glue/ConstantString.h"
#include "palette/frmMain.h"

namespace frmMain {

namespace {

fw::Ref<fw::Object> control(fw::Object* window, Op accessor)
{
    fw::Ref<fw::Object> found = fw::callOperation<fw::Ref<fw::Object>>(window, slot(accessor));
    if (!found)
        fw::RaiseNilObjectException();
    return found;
}

void interruptSpeech()
{
    fw::Ref<fw::Object> blank = fw::StringToVariant(constantString(kInterruptingText));
    fw::Speak(blank.get(), true);
}

} // namespace

void cmdRead_Action(fw::Object* window, fw::Object*)
{
    interruptSpeech();
    fw::TextArea::Text::Set(control(window, Op::txtRead).get(), 0, constantString(""));
    fw::TextArea::Paste(control(window, Op::txtRead).get());
    fw::PushButton::Push(control(window, Op::cmdDoit).get());
}

void cmdDoit_Action(fw::Object* window, fw::Object*)
{
    fw::Ref<fw::Object> area = control(window, Op::txtRead);
    fw::Ref<fw::String> text = fw::TextArea::Text::Get(area.get());
    fw::Ref<fw::Object> words = fw::StringToVariant(text.get());
    fw::Speak(words.get(), false);
}

void cmdStop_Action(fw::Object*, fw::Object*) { interruptSpeech(); }

void cmdClose_Action(fw::Object*, fw::Object*) { fw::Quit(0); }

} // namespace frmMain
