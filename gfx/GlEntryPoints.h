#pragma once

#include "gfx/GlTypes.h"

// Every OpenGL entry point the viewer may use, in table order: return type, name, parameters.
// The last one belongs to the Windows binding; it is resolved there and never called.
#define LEVELCOLORS_GL_ENTRY_POINTS(X)                                                             \
    X(void, glBegin, (GLenum mode))                                                                \
    X(void, glEnd, ())                                                                             \
    X(void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z))                                         \
    X(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a))                        \
    X(void, glClear, (GLbitfield mask))                                                            \
    X(void, glDisable, (GLenum cap))                                                               \
    X(void, glEnable, (GLenum cap))                                                                \
    X(void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a))                              \
    X(void, glPointSize, (GLfloat size))                                                           \
    X(void, glHint, (GLenum target, GLenum mode))                                                  \
    X(void, glBlendFunc, (GLenum sfactor, GLenum dfactor))                                         \
    X(void, glMatrixMode, (GLenum mode))                                                           \
    X(void, glLoadIdentity, ())                                                                    \
    X(void, glOrtho,                                                                               \
      (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,               \
       GLdouble zFar))                                                                             \
    X(void, glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z))                           \
    X(void, glViewport, (GLint x, GLint y, GLsizei width, GLsizei height))                         \
    X(void, glFogf, (GLenum pname, GLfloat param))                                                 \
    X(void, glGenTextures, (GLsizei n, GLuint * textures))                                         \
    X(void, glBindTexture, (GLenum target, GLuint texture))                                        \
    X(void, glTexParameteri, (GLenum target, GLenum pname, GLint param))                           \
    X(void, glTexImage2D,                                                                          \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,            \
       GLint border, GLenum format, GLenum type, const void* pixels))                              \
    X(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b))                                          \
    X(void, glVertex2f, (GLfloat x, GLfloat y))                                                    \
    X(void, glTexCoord2f, (GLfloat s, GLfloat t))                                                  \
    X(void, glTexEnvf, (GLenum target, GLenum pname, GLfloat param))                               \
    X(void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a))                               \
    X(void, glDepthMask, (GLboolean flag))                                                         \
    X(void, glClearDepth, (GLclampd depth))                                                        \
    X(void, glDepthFunc, (GLenum func))                                                            \
    X(void, glShadeModel, (GLenum mode))                                                           \
    X(void, glFinish, ())                                                                          \
    X(GLuint, glGenLists, (GLsizei range))                                                         \
    X(void, glDeleteLists, (GLuint list, GLsizei range))                                           \
    X(void, glPopAttrib, ())                                                                       \
    X(void, glCallLists, (GLsizei n, GLenum type, const void* lists))                              \
    X(void, glListBase, (GLuint base))                                                             \
    X(void, glPushAttrib, (GLbitfield mask))                                                       \
    X(void, glRasterPos2f, (GLfloat x, GLfloat y))                                                 \
    X(void, glGetBooleanv, (GLenum pname, GLboolean * params))                                     \
    X(void, glEndList, ())                                                                         \
    X(void, glTranslated, (GLdouble x, GLdouble y, GLdouble z))                                    \
    X(void, glNewList, (GLuint list, GLenum mode))                                                 \
    X(void, glVertex2i, (GLint x, GLint y))                                                        \
    X(void, glPopMatrix, ())                                                                       \
    X(void, glPushMatrix, ())                                                                      \
    X(void, glDeleteTextures, (GLsizei n, const GLuint* textures))                                 \
    X(int, wglUseFontBitmapsA,                                                                     \
      (void* deviceContext, unsigned long first, unsigned long count, unsigned long listBase))

// Looks an entry point up by name; null when the GL library has none of that name.
using GlResolver = void* (*)(const char* name);

// The table of GL entry points, one pointer field per entry point in table order. Filled
// once by `load`; afterwards every GL call of the system goes through these fields.
struct GlEntryPoints {
#define LEVELCOLORS_GL_FIELD(result, name, params) result(LEVELCOLORS_GLAPI* name) params = nullptr;
    LEVELCOLORS_GL_ENTRY_POINTS(LEVELCOLORS_GL_FIELD)
#undef LEVELCOLORS_GL_FIELD

    static constexpr int count = 47;

    // Resolves every mandatory entry point in lookup order (glPushMatrix before
    // glPopMatrix). A missing one prints "Unable to get function pointer for <name>" on
    // standard output and ends the process with status 1; later names are not looked up.
    void load(GlResolver resolve);
};
