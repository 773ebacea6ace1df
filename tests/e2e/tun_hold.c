/* Holds a tun device open as a VPN program does, until it is ended: tun_hold NAME. Prints "ready" once
 * the device exists. Linux only; run inside the test's own network namespace. */
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2 || strlen(argv[1]) >= IFNAMSIZ) {
        fprintf(stderr, "usage: tun_hold NAME (at most %d characters)\n", IFNAMSIZ - 1);
        return 2;
    }
    int fd = open("/dev/net/tun", O_RDWR);
    if (fd < 0) {
        perror("/dev/net/tun");
        return 1;
    }
    struct ifreq request;
    memset(&request, 0, sizeof request);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    strncpy(request.ifr_name, argv[1], IFNAMSIZ - 1);
    if (ioctl(fd, TUNSETIFF, &request) < 0) {
        perror("TUNSETIFF");
        return 1;
    }
    printf("ready\n");
    fflush(stdout);
    /* The device goes when the descriptor closes, that is when this process ends. */
    for (;;)
        pause();
}
