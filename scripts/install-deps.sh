#!/usr/bin/env bash
# Installs everything Kestrava needs to build, run and test on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev dpkg-dev \
  qt6-base-dev qt6-translations-l10n libpng-dev zlib1g-dev libdeflate-dev libxxhash-dev \
  libgtest-dev libbenchmark-dev \
  default-jdk-headless default-jre ecj proguard-cli \
  fonts-dejavu-core xvfb xauth
