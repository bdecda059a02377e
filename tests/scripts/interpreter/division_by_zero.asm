new int, x
mov x, 4
div x, 0
