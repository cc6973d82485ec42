#pragma once

// The OpenGL 1.1 types and constants the viewer uses. The GL library is opened at run time
// and never linked, so the system's GL headers are not needed either.

#include "platform/GlCalling.h"

#include <cstdint>

using GLenum = unsigned int;
using GLbitfield = unsigned int;
using GLuint = unsigned int;
using GLint = int;
using GLsizei = int;
using GLboolean = unsigned char;
using GLubyte = unsigned char;
using GLfloat = float;
using GLclampf = float;
using GLdouble = double;
using GLclampd = double;

constexpr GLenum GL_NO_ERROR = 0;
constexpr GLenum GL_QUADS = 0x0007;
constexpr GLenum GL_NEVER = 0x0200;
constexpr GLenum GL_LEQUAL = 0x0203;
constexpr GLenum GL_SRC_ALPHA = 0x0302;
constexpr GLenum GL_ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr GLenum GL_CULL_FACE = 0x0B44;
constexpr GLenum GL_DEPTH_TEST = 0x0B71;
constexpr GLenum GL_BLEND = 0x0BE2;
constexpr GLenum GL_PERSPECTIVE_CORRECTION_HINT = 0x0C50;
constexpr GLenum GL_MAX_TEXTURE_SIZE = 0x0D33;
constexpr GLenum GL_TEXTURE_2D = 0x0DE1;
constexpr GLenum GL_NICEST = 0x1102;
constexpr GLenum GL_COMPILE = 0x1300;
constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
constexpr GLenum GL_MODELVIEW = 0x1700;
constexpr GLenum GL_PROJECTION = 0x1701;
constexpr GLenum GL_RGBA = 0x1908;
constexpr GLenum GL_SMOOTH = 0x1D01;
constexpr GLenum GL_NEAREST = 0x2600;
constexpr GLenum GL_TEXTURE_MAG_FILTER = 0x2800;
constexpr GLenum GL_TEXTURE_MIN_FILTER = 0x2801;
constexpr GLbitfield GL_DEPTH_BUFFER_BIT = 0x00000100;
constexpr GLbitfield GL_COLOR_BUFFER_BIT = 0x00004000;
