#include "GlContext.h"

#include "DriverWarmUp.h"
#include "StreamBuffer.h"

#include <d3d8/EarlyDisplay.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>
#include <system_error>
#include <thread>

namespace orbel::d3d8 {
namespace {

// Pools keep at most this many free objects of one kind and size, so that a
// burst of different sizes (window resizing) does not pin memory forever.
constexpr std::size_t kMaxPooledPerKey = 4;

bool HasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t len = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += len) {
        const bool startOk = p == list || p[-1] == ' ';
        const bool endOk = p[len] == ' ' || p[len] == '\0';
        if (startOk && endOk) return true;
    }
    return false;
}

EGLDisplay OpenDisplay() {
    const char* clientExt = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (HasExtension(clientExt, "EGL_MESA_platform_surfaceless")) {
        auto getPlatformDisplay =
            reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay) {
            EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
            EGLint major = 0, minor = 0;
            if (display != EGL_NO_DISPLAY && eglInitialize(display, &major, &minor)) return display;
        }
    }
    EGLDisplay display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    EGLint major = 0, minor = 0;
    if (display != EGL_NO_DISPLAY && eglInitialize(display, &major, &minor)) {
        if (HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) return display;
        eglTerminate(display);
    }
    return EGL_NO_DISPLAY;
}

EGLContext CreateContext(EGLDisplay display) {
    if (!eglBindAPI(EGL_OPENGL_API)) return EGL_NO_CONTEXT;
    EGLConfig config = EGL_NO_CONFIG_KHR;
    if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_no_config_context")) {
        const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
        EGLint count = 0;
        if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1) return EGL_NO_CONTEXT;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 4,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 5,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    return eglCreateContext(display, config, EGL_NO_CONTEXT, attributes);
}

// Direct3D conventions for everything drawn: depth 0..1, row 0 at the top,
// the first vertex of a primitive carrying flat colours. Context state, so
// any thread that has the context current may set them.
bool SetDirect3DConventions() {
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glEnable(GL_PROGRAM_POINT_SIZE);
    glDisable(GL_DITHER);
    glDisable(GL_MULTISAMPLE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    return glGetError() == GL_NO_ERROR;
}

// The display and the context made ahead of the device. The worker sets the
// context up and lets go of it; it becomes current on the thread that asks
// for it. The thread is joined before that, or when the program says it is
// done with it; joining as the library unloads is the last resort only, as
// by then the process's exit may have torn parts of the driver down.
struct EarlyOpening {
    std::thread thread;
    bool begun = false;
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    bool conventionsSet = false;
    ~EarlyOpening() {
        if (thread.joinable()) thread.join();
    }
};

EarlyOpening& Early() {
    static EarlyOpening early;
    return early;
}

}  // namespace

void GlContext::BeginOpeningDisplay() {
    EarlyOpening& early = Early();
    if (early.begun) return;
    early.begun = true;
    try {
        early.thread = std::thread([&early] {
            early.display = OpenDisplay();
            if (early.display == EGL_NO_DISPLAY) return;
            early.context = CreateContext(early.display);
            // The first making current of a process binds the GL entry
            // points; that too is done here.
            if (early.context == EGL_NO_CONTEXT ||
                !eglMakeCurrent(early.display, EGL_NO_SURFACE, EGL_NO_SURFACE, early.context))
                return;
            early.conventionsSet = SetDirect3DConventions();
            if (early.conventionsSet) {
                WarmUpDriver();
                StreamBuffer::MakeStartStorageAhead();
            }
            eglMakeCurrent(early.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        });
    } catch (const std::system_error&) {
        // No thread to spare: the display opens on first use, as without this call.
    }
}

void GlContext::FinishOpeningDisplay() {
    EarlyOpening& early = Early();
    if (early.thread.joinable()) early.thread.join();
}

GlContext* GlContext::Get() {
    static GlContext* context = [] {
        EarlyOpening& early = Early();
        early.begun = true;
        FinishOpeningDisplay();
        auto* candidate = new GlContext();
        if (candidate->Open(early.display, early.context, early.conventionsSet)) return candidate;
        delete candidate;
        return static_cast<GlContext*>(nullptr);
    }();
    return context;
}

bool GlContext::Open(EGLDisplay display, EGLContext context, bool conventionsSet) {
    if (context != EGL_NO_CONTEXT) {
        // Made on another thread; the API choice is per thread.
        if (eglBindAPI(EGL_OPENGL_API) && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
            return conventionsSet || SetDirect3DConventions();
        eglDestroyContext(display, context);
    }
    display = OpenDisplay();
    if (display == EGL_NO_DISPLAY) return false;
    context = CreateContext(display);
    if (context == EGL_NO_CONTEXT) {
        eglTerminate(display);
        return false;
    }
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        eglDestroyContext(display, context);
        eglTerminate(display);
        return false;
    }
    return SetDirect3DConventions();
}


GLuint GlContext::AcquireTexture(GLenum internalFormat, int width, int height) {
    auto& pool = freeTextures_[Key{internalFormat, width, height}];
    if (!pool.empty()) {
        GLuint name = pool.back();
        pool.pop_back();
        return name;
    }
    GLuint name = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &name);
    glTextureStorage2D(name, 1, internalFormat, width, height);
    glTextureParameteri(name, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTextureParameteri(name, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return name;
}

void GlContext::ReturnTexture(GLuint name, GLenum internalFormat, int width, int height) {
    auto& pool = freeTextures_[Key{internalFormat, width, height}];
    if (pool.size() < kMaxPooledPerKey)
        pool.push_back(name);
    else
        glDeleteTextures(1, &name);
}

GLuint GlContext::AcquireRenderbuffer(GLenum internalFormat, int width, int height) {
    auto& pool = freeRenderbuffers_[Key{internalFormat, width, height}];
    if (!pool.empty()) {
        GLuint name = pool.back();
        pool.pop_back();
        return name;
    }
    GLuint name = 0;
    glCreateRenderbuffers(1, &name);
    glNamedRenderbufferStorage(name, internalFormat, width, height);
    return name;
}

void GlContext::ReturnRenderbuffer(GLuint name, GLenum internalFormat, int width, int height) {
    auto& pool = freeRenderbuffers_[Key{internalFormat, width, height}];
    if (pool.size() < kMaxPooledPerKey)
        pool.push_back(name);
    else
        glDeleteRenderbuffers(1, &name);
}

}  // namespace orbel::d3d8

void D3D8BeginOpeningDisplay() { orbel::d3d8::GlContext::BeginOpeningDisplay(); }

void D3D8FinishOpeningDisplay() { orbel::d3d8::GlContext::FinishOpeningDisplay(); }
