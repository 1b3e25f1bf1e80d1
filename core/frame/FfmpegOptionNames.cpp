#include "core/frame/FfmpegOptionNames.h"

FfmpegOptionNames FfmpegOptionNames::Defaults() {
  return {"-f",          "-c:a",
          "-c:v",        "-c:s",
          "-pix_fmt",    "-aspect",
          "-target",     "-b:a",
          "-minrate:a",  "-maxrate:a",
          "-ar",         "-ac",
          "-aq",         "-an",
          "-b:v",        "-minrate:v",
          "-maxrate:v",  "-r",
          "-q:v",        "-qmin:v",
          "-qmax:v",     "-s",
          "-vn",         "-af",
          "-vf",         "-filter_complex",
          "-t",          "-vol",
          "-sn",         "-ss",
          "-video_size", "-x",
          "-y",          "-vframes",
          "-y",          "-nodisp",
          "-autoexit",   "-loglevel",
          "-fs",         "-pass",
          "-n",          "-vtag",
          "-atag"};
}
