module m
end module
push "m"
call gameapi, play
