#include "framework/classes/EventLoop.h"

#include "framework/classes/Services.h"
#include "framework/runtime/Exception.h"

#include <cstdio>
#include <exception>
#include <string>

namespace fw {

namespace {
TypedCode exceptionHelper;
Ref<Object> pendingException;
std::exception_ptr pendingForeignException;
int32_t exitCode = 0;

void endLoopWith(Ref<Object> exception)
{
    pendingException = std::move(exception);
    presentation().quitEventLoop();
}
} // namespace

void _RuntimeSetExceptionHelper(TypedCode helper) { exceptionHelper = helper; }

void _RunFrameworkInitialization(TypedCode startup)
{
    if (startup)
        functionOf<void()>(startup, "the start-up routine")();
}

void _RuntimeRun()
{
    if (!pendingException && !pendingForeignException)
        presentation().runEventLoop();
    if (Ref<Object> exception = std::move(pendingException))
        throw Raised{std::move(exception)};
    if (std::exception_ptr foreign = std::exchange(pendingForeignException, nullptr))
        std::rethrow_exception(foreign);
}

void Quit(int32_t code)
{
    exitCode = code;
    presentation().quitEventLoop();
}

void _UnhandledException(Object* exception)
{
    std::string className = exception ? std::string(exception->classTable()->name->view()) : "nil";
    String* message = exceptionMessage(exception);
    std::fprintf(stderr, "framework: unhandled %s%s%s\n", className.c_str(), message ? ": " : "",
                 message ? std::string(message->view()).c_str() : "");
    exitCode = 1;
}

int32_t pendingExitCode() { return exitCode; }

void runGuarded(void (*routine)(void*), void* argument)
{
    if (pendingException || pendingForeignException)
        return; // the loop is ending; run nothing more
    try {
        if (exceptionHelper) {
            if (Ref<Object> escaped =
                    functionOf<ExceptionHelper>(exceptionHelper, "the exception helper")(toCode(routine), argument))
                endLoopWith(std::move(escaped));
        } else {
            routine(argument);
        }
    } catch (const Raised& raised) {
        endLoopWith(raised.exception);
    } catch (...) {
        pendingForeignException = std::current_exception();
        presentation().quitEventLoop();
    }
}

void resetEventLoop()
{
    exceptionHelper = {};
    pendingException = nullptr;
    pendingForeignException = nullptr;
    exitCode = 0;
}

} // namespace fw
