program dups
  call which()
end program dups
