; Without play the machine runs every init and ends.
new string, s
mov s, "only init"
call s, print
